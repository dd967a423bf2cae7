# During a rally each Help item pauses the game before its box; a second box leaves the pause as
# it is, and Esc resumes the rally.
cmdPlay_Click
click mnuNew
run 1000
click mnuRules
#> {"msgbox":{"title":"Rules of Zarb","text":"The object of Zarb is to hit the ball so\r\nthat the other player misses it.  To do\r\nthis, move your paddle up and down,\r\nbut take note that where the ball hits\r\nthe paddle will determine at what angle\r\nthe ball bounces off your paddle.  Use\r\nthis to your advantage.  Good luck!"}}
get mnuPause.Checked tmrBall.Enabled lblWin.Caption lblPause.Visible
#> {"mnuPause.Checked":true,"tmrBall.Enabled":false,"lblWin.Caption":"Paused","lblPause.Visible":true}
mnuControls_Click
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
get mnuPause.Checked tmrBall.Enabled
#> {"mnuPause.Checked":true,"tmrBall.Enabled":false}
Form_KeyDown 27
get mnuPause.Checked tmrBall.Enabled tmrStart.Enabled lblWin.Caption
#> {"mnuPause.Checked":false,"tmrBall.Enabled":true,"tmrStart.Enabled":false,"lblWin.Caption":"One Player Mode"}
click mnuAbout
#> {"msgbox":{"title":"About Zarb","text":"Zarb was written in 2026 by the Zarb developers,\r\na small team who wanted a quick game of table\r\ntennis for two at one keyboard.  Games like it go\r\nback to the early days of computing, when a dot of\r\nlight was batted to and fro between two lines on a\r\nscreen.  They soon filled arcades and living rooms,\r\nand paddles, walls and obstacles of every kind\r\nhave followed.  Zarb adds five speeds, five levels\r\nand a computer opponent to that old idea.\r\nWe hope you enjoy this version.  Have fun!"}}
get mnuPause.Checked tmrBall.Enabled
#> {"mnuPause.Checked":true,"tmrBall.Enabled":false}
Form_KeyDown 27
click mnuControls
#> {"msgbox":{"title":"Keyboard Controls","text":"Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\nRight Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\nStart Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC"}}
get mnuPause.Checked tmrBall.Enabled
#> {"mnuPause.Checked":true,"tmrBall.Enabled":false}
