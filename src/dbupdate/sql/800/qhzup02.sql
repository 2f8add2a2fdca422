/* Company data 8.0.0, My Number: the right to manage My Number data is the
   system database's (its operators), and the company data's switch of its
   use is a setting the program stores as it reads it; no table or column
   of the company data changes. */
