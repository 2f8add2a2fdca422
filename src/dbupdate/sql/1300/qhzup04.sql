/* Company data 13.0.0, medical chart: nothing of this file is read by this program. */
