/* Company data 11.0.0: nothing of this file is read by this program. */
