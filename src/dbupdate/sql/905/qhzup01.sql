/* Company data 9.0.5: nothing of this file is read by this program. */
