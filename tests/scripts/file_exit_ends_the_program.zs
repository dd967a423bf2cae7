# The File menu's Exit ends the program: no message, and the rest of the script is not read.
cmdPlay_Click
click mnuExit
#> {"end":true}
Form_Unload
state
