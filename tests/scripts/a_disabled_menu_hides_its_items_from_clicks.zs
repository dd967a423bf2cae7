# An item is reachable only while every menu above it is enabled, and runs once it is.
cmdPlay_Click
set mnuHelp.Enabled false
click mnuRules
#> {"ignored":"mnuRules"}
set mnuHelp.Enabled true
set mnuLevel.Enabled false
click mnuLevel3
#> {"ignored":"mnuLevel3"}
set mnuLevel.Enabled true
set mnuLevel3.Enabled false
click mnuLevel3
#> {"ignored":"mnuLevel3"}
set mnuLevel3.Enabled true
click mnuLevel3
get level lblLevel.Caption
#> {"level":3,"lblLevel.Caption":"Level 3"}
