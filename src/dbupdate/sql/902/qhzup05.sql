/* Company data 9.0.2: nothing of this file is read by this program. */
