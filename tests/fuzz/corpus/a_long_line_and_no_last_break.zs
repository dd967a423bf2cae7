get frmSplash.Loaded
get frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded frmSplash.Loaded
cmdPlay_Click
get frmZarb.Visible
get frmZarb.Loaded