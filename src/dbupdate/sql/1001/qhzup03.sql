/* Company data 10.0.1, general chart: nothing of this file is read by this program. */
