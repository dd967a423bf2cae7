# set takes whole numbers over the full 32-bit range, with or without a plus sign, decimals rounded to single precision,
# flags as true, false, 1 or 0, and intervals from 1 to 65535.
cmdPlay_Click
set player1Score -2147483648
set predictionLine +2147483647
set ballStepY -30.25
set deflectY +1.5
set imgLeft.Visible 0
set mnuTwo.Checked 1
set tmrBall.Enabled true
set tmrStart.Interval 65535
set mnuNew.Caption "&Start"
get player1Score predictionLine ballStepY deflectY imgLeft.Visible mnuTwo.Checked tmrBall.Enabled tmrStart.Interval mnuNew.Caption
#> {"player1Score":-2147483648,"predictionLine":2147483647,"ballStepY":-30.25,"deflectY":1.5,"imgLeft.Visible":false,"mnuTwo.Checked":true,"tmrBall.Enabled":true,"tmrStart.Interval":65535,"mnuNew.Caption":"&Start"}
# The random generator's base may be 0, the lowest.
seed 0
# A key's modifier mask may be written out as 0, as none.
Form_KeyDown 65 0
get keyLeftUp
#> {"keyLeftUp":1}
