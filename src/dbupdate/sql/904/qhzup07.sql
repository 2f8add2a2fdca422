/* Company data 9.0.4: nothing of this file is read by this program. */
