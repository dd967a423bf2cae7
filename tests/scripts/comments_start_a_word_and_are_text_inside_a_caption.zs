# A # at the start of a word starts a comment; inside a Caption's JSON string it is text, and
# so are the blanks; the escapes of JSON are read and written back.
cmdPlay_Click   # the game window
set lblWin.Caption "Rally #3  \"won\"\t\u00e9"   # a comment after the string
get lblWin.Caption # lblLevel.Caption
#> {"lblWin.Caption":"Rally #3  \"won\"\té"}
get lblLevel.Caption#
#!
set lblWin.Caption "Rally"#3
#! extra argument after the Caption's string
	# a comment after a tab, and a blank line:

get ballDirX	ballDirY
#> {"ballDirX":0,"ballDirY":0}
