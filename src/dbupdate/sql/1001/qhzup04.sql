/* Company data 10.0.1, medical chart: nothing of this file is read by this program. */
