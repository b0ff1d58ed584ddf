# Icons, the program icon and the application manifest (filled in next).
