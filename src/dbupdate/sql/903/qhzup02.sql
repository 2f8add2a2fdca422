/* Company data 9.0.3, medical chart: nothing of this file is read by this program. */
