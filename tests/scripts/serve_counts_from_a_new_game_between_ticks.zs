# New Game 10 ms after a clock tick: a full second must pass, so the serve waits for the first
# tick at or after 1000 ms later, the 65th.
cmdPlay_Click
run 10
mnuNew_Click
run 1000
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":false}
run 5.625
get tmrStart.Enabled tmrBall.Enabled
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true}
