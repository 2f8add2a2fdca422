/* Company data 9.0.2, medical chart: the evaluation rules are seeded after the script into the tables of 8.0.2. */
