# The clock keeps decimal time exactly: nine runs of 1.1 ms and one of 5.725 ms are 15.625 ms,
# the first clock tick, whatever binary fractions would make of them.
cmdPlay_Click
Form_KeyDown 65
run 1.1
run 1.1
run 1.1
run 1.1
run 1.1
run 1.1
run 1.1
run 1.1
run 1.1
run 5.725
get imgLeft.Top
#> {"imgLeft.Top":2960}
# A tick less a hair does not reach the next tick; the hair, written with an exponent, does.
run 15.6249999999999999999999
get imgLeft.Top
#> {"imgLeft.Top":2960}
run 1e-22
get imgLeft.Top
#> {"imgLeft.Top":2800}
# An exponent may carry a plus sign: a tick written as 0.015625e+3 ms.
run 0.015625e+3
get imgLeft.Top
#> {"imgLeft.Top":2640}
# A span a hair longer than a day is more than a day.
run 86400000.0000000000000000000000000001
#!
