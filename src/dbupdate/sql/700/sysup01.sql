/* System database 7.0.0: the conversion to the new data format changes
   nothing in the schema; the office record of SYSTEMINI row 10 is rewritten
   by the program before this script runs. */
