# Two Players moves the check but leaves the status line alone; End Game keeps the setting
# and the serve shows the new mode.
cmdPlay_Click
click mnuTwo
get players mnuOne.Checked mnuTwo.Checked lblWin.Caption
#> {"players":2,"mnuOne.Checked":false,"mnuTwo.Checked":true,"lblWin.Caption":"One Player Mode"}
click mnuNew
get players lblWin.Caption
#> {"players":2,"lblWin.Caption":"Game Ended"}
run 1000
get lblWin.Caption
#> {"lblWin.Caption":"Two Player Mode"}
click mnuEnd
click mnuOne
get players mnuOne.Checked mnuTwo.Checked
#> {"players":1,"mnuOne.Checked":true,"mnuTwo.Checked":false}
