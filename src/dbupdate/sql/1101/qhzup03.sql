/* Company data 11.0.1: nothing of this file is read by this program. */
