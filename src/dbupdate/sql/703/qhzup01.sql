/* Company data 7.0.3 (medical chart): the settlement layout of the
   medical statements is the printing's; no table or column that the
   program reads changes. */
