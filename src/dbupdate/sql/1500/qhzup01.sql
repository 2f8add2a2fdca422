/* Company data 15.0.0, general chart: nothing of this file is read by this program. */
