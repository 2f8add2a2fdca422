/* Company data 9.0.1: the sub-account deletion; nothing of it is read by this program. */
