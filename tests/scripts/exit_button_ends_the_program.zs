# EXIT ends the program at once; nothing after the end line is read, not even a bad line.
click cmdExit
#> {"end":true}
state
no_such_command
