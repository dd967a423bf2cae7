# Nothing ticks while only the splash shows, but the clock goes on: a New Game five seconds in
# is served 64 ticks later, with no burst of the ticks the splash let pass. A run of minus zero
# milliseconds is no time at all.
run 5000
cmdPlay_Click
mnuNew_Click
run 983.375
run -0
run 1
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":false}
run 15.625
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true}
