/* System database 7.0.4: the specified taxable purchases live in the
   company data; the system database only records the version. */
