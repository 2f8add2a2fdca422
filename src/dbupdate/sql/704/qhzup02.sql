/* Company data 7.0.4: the new forms of the consumption-tax return and its
   schedules are the printing's; no table or column that the program reads
   changes. */
