/* Company data 13.0.0: nothing of this file is read by this program. */
