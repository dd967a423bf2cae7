cmdPlay_Click
set lblWin.Caption "tab\there \u00e9 \ud83d\ude00" # comment
get lblWin.Caption
set player1Score 9
set mnuPause.Checked true
set tmrStart.Interval 1
set imgLeft.Top 1e-45
seed 4294967295
get frmZarb.Loaded frmSplash.Visible
