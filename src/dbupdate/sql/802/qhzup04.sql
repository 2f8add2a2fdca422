/* Company data 8.0.2, medical chart: nothing of this version's general
   chart is read by this program beyond the common files 05 and 06. */
