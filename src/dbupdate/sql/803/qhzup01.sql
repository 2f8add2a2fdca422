/* Company data 8.0.3, general chart: the individual's budget groups are
   seeded after the script into the tables of 8.0.2; nothing else here is
   read by this program. */
