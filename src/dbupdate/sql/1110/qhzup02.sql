/* Company data 11.1.0, medical chart: nothing of this file is read by this program. */
