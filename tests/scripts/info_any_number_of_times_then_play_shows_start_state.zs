# INFO loads the game window hidden (running Form_Load) and shows the controls box, as often
# as it is pressed. PLAY! then shows that same window without a second Form_Load: the
# hitOffset written here would be reset to 1 by one.
cmdInfo_Click 2
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
click cmdInfo
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
get frmSplash.Loaded frmSplash.Visible frmZarb.Loaded frmZarb.Visible mnuPause.Checked
#> {"frmSplash.Loaded":true,"frmSplash.Visible":true,"frmZarb.Loaded":true,"frmZarb.Visible":false,"mnuPause.Checked":false}
set hitOffset 7
click cmdPlay
get frmSplash.Loaded frmSplash.Visible frmZarb.Loaded frmZarb.Visible hitOffset
#> {"frmSplash.Loaded":false,"frmSplash.Visible":false,"frmZarb.Loaded":true,"frmZarb.Visible":true,"hitOffset":7}
get lblWin.Caption ballDirX ballStepY imgBall.Left imgBall.Top tmrStart.Enabled tmrBall.Enabled
#> {"lblWin.Caption":"One Player Mode","ballDirX":0,"ballStepY":160,"imgBall.Left":5760,"imgBall.Top":3720,"tmrStart.Enabled":false,"tmrBall.Enabled":false}
