/* Company data 7.0.3: the journal jump of the consumption-tax trial
   balance is the program's; no table or column that the program reads
   changes. */
