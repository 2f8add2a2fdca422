/* System database 7.0.4: purchases taxed at the buyer (reverse charge) live
   in the company data; the system database only records the version. */
