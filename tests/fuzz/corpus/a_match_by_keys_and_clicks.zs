click cmdInfo
click cmdPlay
click mnuLevel5
click mnuReallyfast
click mnuTwo
Form_KeyDown 112
run 1000
Form_KeyDown 65 1
run 250.5
Form_KeyUp 65
Form_KeyDown 27
click mnuRules
Form_KeyDown 27
run 3000
state
