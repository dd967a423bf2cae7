# A caption is one JSON string: escapes become UTF-8 of one to four bytes, UTF-8 in the script
# is kept as it is, and a byte or sequence that is not well-formed UTF-8 is an error.
cmdPlay_Click
set lblWin.Caption "\r\n\b\f\/\\\""
get lblWin.Caption
#> {"lblWin.Caption":"\r\n\u0008\u000c/\\\""}
set lblWin.Caption "\u007f\u0080\u07ff\u0800\uffff\ud83c\udfd3\udbff\udfff\ud800\udc00"
get lblWin.Caption
#> {"lblWin.Caption":"\u007fÂ€ß¿à €ï¿¿ğŸ“ô¿¿ğ€€"}
set lblWin.Caption "\u00411"
get lblWin.Caption
#> {"lblWin.Caption":"A1"}
set lblWin.Caption "Â£Ã©à €ï¿¿ğŸ“"
set lblWin.Caption "ß¿ğ€€"
get lblWin.Caption
#> {"lblWin.Caption":"ß¿ğ€€"}
set lblWin.Caption "Â£Ã©à €ï¿¿ğŸ“"
# a lone byte, an overlong slash, an overlong three-byte form, a surrogate, a lone low escape,
# a lone continuation byte, the last surrogate, an overlong four-byte form, one past U+10FFFF
set lblWin.Caption "ÿ"
#!
set lblWin.Caption "À¯"
#!
set lblWin.Caption "àŸ¿"
#!
set lblWin.Caption "í €"
#!
set lblWin.Caption "\udc00"
#!
# the line ends inside an escape, or after a high surrogate
set lblWin.Caption "ab\
#!
set lblWin.Caption "\ud800
#!
set lblWin.Caption "€"
#!
set lblWin.Caption "í¿¿"
#!
set lblWin.Caption "ğ¿¿"
#!
set lblWin.Caption "ô€€"
#!
get lblWin.Caption
#> {"lblWin.Caption":"Â£Ã©à €ï¿¿ğŸ“"}
