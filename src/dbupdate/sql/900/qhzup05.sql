/* Company data 9.0.0, medical chart: nothing of this file is read by this program. */
