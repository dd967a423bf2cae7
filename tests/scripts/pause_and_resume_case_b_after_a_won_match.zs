# After a won match, the resume is case B: the winner without an exclamation mark, and no serve.
cmdPlay_Click
set player2Score 10
set player1Score 3
mnuPause_Click
# A serve's timer started behind the pause does not serve after a won match either.
set tmrStart.Enabled true
mnuPause_Click
get lblWin.Caption tmrStart.Enabled tmrBall.Enabled tmrLeft.Enabled mnuPause.Checked lblPause.Visible
#> {"lblWin.Caption":"Player 2 Wins","tmrStart.Enabled":false,"tmrBall.Enabled":true,"tmrLeft.Enabled":true,"mnuPause.Checked":false,"lblPause.Visible":false}
# A match Player 1 has won.
set player1Score 10
set player2Score 3
mnuPause_Click
mnuPause_Click
get lblWin.Caption
#> {"lblWin.Caption":"Player 1 Wins"}
