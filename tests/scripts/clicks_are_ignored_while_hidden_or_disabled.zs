# A person can choose only what is shown and enabled, under menus all enabled: nothing while
# the game window is not loaded or hidden, never the Pause item, and no setting during a match.
click mnuNew
#> {"ignored":"mnuNew"}
cmdInfo_Click
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
click mnuNew
#> {"ignored":"mnuNew"}
cmdPlay_Click
set mnuEdit.Enabled false
click mnuLevel3
#> {"ignored":"mnuLevel3"}
set mnuEdit.Enabled true
click mnuPause
#> {"ignored":"mnuPause"}
click mnuNew
run 1000
click mnuFast
#> {"ignored":"mnuFast"}
click mnuTwo
#> {"ignored":"mnuTwo"}
click mnuLevel2
#> {"ignored":"mnuLevel2"}
get speedSetting players level mnuFast.Checked mnuSpeed.Enabled
#> {"speedSetting":160,"players":1,"level":1,"mnuFast.Checked":false,"mnuSpeed.Enabled":false}
Form_KeyDown 27
click mnuPause
#> {"ignored":"mnuPause"}
get mnuPause.Checked
#> {"mnuPause.Checked":true}
