# The last line of a script needs no line break to run; its answer is given first, since
# nothing can follow it.
#> {"frmSplash.Loaded":true}
get frmSplash.Loaded