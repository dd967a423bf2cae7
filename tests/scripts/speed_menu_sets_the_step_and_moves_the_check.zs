# Each speed item sets speedSetting and moves the check to itself; the ball's horizontal step
# and the paddles' step follow it.
cmdPlay_Click
click mnuSluggish
get speedSetting mnuSluggish.Checked mnuMedium.Checked
#> {"speedSetting":115,"mnuSluggish.Checked":true,"mnuMedium.Checked":false}
click mnuSlow
get speedSetting mnuSlow.Checked mnuSluggish.Checked
#> {"speedSetting":140,"mnuSlow.Checked":true,"mnuSluggish.Checked":false}
click mnuFast
get speedSetting mnuFast.Checked mnuSlow.Checked
#> {"speedSetting":185,"mnuFast.Checked":true,"mnuSlow.Checked":false}
click mnuReallyfast
get speedSetting mnuReallyfast.Checked mnuMedium.Checked mnuSluggish.Checked mnuSlow.Checked mnuFast.Checked
#> {"speedSetting":230,"mnuReallyfast.Checked":true,"mnuMedium.Checked":false,"mnuSluggish.Checked":false,"mnuSlow.Checked":false,"mnuFast.Checked":false}
set ballDirX 2
tmrBall_Timer
Form_KeyDown 90
tmrLeft_Timer
get imgBall.Left imgLeft.Top
#> {"imgBall.Left":5530,"imgLeft.Top":3350}
click mnuMedium
get speedSetting mnuMedium.Checked mnuReallyfast.Checked
#> {"speedSetting":160,"mnuMedium.Checked":true,"mnuReallyfast.Checked":false}
