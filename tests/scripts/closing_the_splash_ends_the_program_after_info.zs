# Closing the splash ends the program, also when INFO has loaded the hidden game window.
# The hidden game window cannot be closed: it is not shown.
cmdInfo_Click
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
close frmZarb
#> {"ignored":"frmZarb"}
close frmSplash
#> {"end":true}
get frmZarb.Loaded
