# Form_Unload ends the program at once; a count does not run it twice.
cmdPlay_Click
Form_Unload 3
#> {"end":true}
state
