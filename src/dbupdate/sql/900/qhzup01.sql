/* Company data 9.0.0: nothing of this file is read by this program (the
   opening balances with and without tax come with 6.0.0). */
