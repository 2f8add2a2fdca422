/* Company data 11.1.0: nothing of this file is read by this program. */
