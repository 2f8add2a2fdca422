/* Company data 13.0.3: nothing of this file is read by this program. */
