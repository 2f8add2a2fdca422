/* Company data 10.0.0: nothing of this file is read by this program. */
