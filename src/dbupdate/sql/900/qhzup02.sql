/* Company data 9.0.0: nothing of this file is read by this program. */
