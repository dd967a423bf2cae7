# New Game 10 ms after a clock tick: a full second must pass, so the serve waits for the first
# tick at or after 1000 ms later, the 65th.
cmdPlay_Click
run 10
mnuNew_Click
run 1000
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":false}
# A run of 0 ms, or -0, moves the clock not at all: the tick is still 1 ms away.
run 4.625
run 0
run -0
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":false}
run 1
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true}
