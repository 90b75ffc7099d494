#!/bin/sh
# Draws the client's pictures with ImageMagick. Run from anywhere; writes next to itself.
# The login background leaves room for the three boxes and the two image buttons that
# client/ui/LoginDialog.cpp places on it: keep both in step.
set -eu
cd "$(dirname "$0")"

font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
navy='#1f3a5f'
blue='#2d6cb5'
sky='#e8f0fa'

# Banner across the top of the exam window (the window is 1016 px wide, 1 px border).
convert -size 1014x56 gradient:"$navy"-"$blue" \
    -fill '#ffffff22' -draw 'polygon 760,0 1014,0 1014,56 700,56' \
    -fill '#ffffff14' -draw 'polygon 860,0 1014,0 1014,56 820,56' \
    -fill '#f2b134' -draw 'rectangle 0,53 1014,55' \
    -font "$font" -pointsize 26 -fill white -gravity west -annotate +24+0 '标准化考试系统' \
    -strip banner.png

# Tree images: a plain dot for a question, a filled check for the selected one.
convert -size 16x16 xc:none -fill "$sky" -stroke "$blue" -strokewidth 1 \
    -draw 'roundrectangle 2,2 13,13 3,3' -strip tree-item.png
convert -size 16x16 xc:none -fill "$blue" -stroke "$navy" -strokewidth 1 \
    -draw 'roundrectangle 2,2 13,13 3,3' \
    -fill none -stroke white -strokewidth 2 -draw 'polyline 5,8 7,11 11,5' -strip tree-selected.png

# Program icon.
convert -size 64x64 xc:none -fill "$blue" -draw 'roundrectangle 2,2 61,61 12,12' \
    -fill '#f2b134' -draw 'rectangle 10,50 53,53' \
    -font "$font" -pointsize 34 -fill white -gravity center -annotate +0-5 '考' -strip olvane.png

# Login background, 560 x 260: title band, three labelled boxes in one row, two buttons.
convert -size 560x260 gradient:'#ffffff'-"$sky" \
    -fill "$navy" -draw 'rectangle 0,0 559,63' \
    -fill '#f2b134' -draw 'rectangle 0,60 559,63' \
    -font "$font" -pointsize 24 -fill white -gravity northwest -annotate +24+16 '标准化考试系统' \
    -pointsize 15 -fill '#c8d8ee' -annotate +400+24 '考生登录' \
    -pointsize 14 -fill "$navy" \
    -annotate +40+98 '班级' -annotate +210+98 '姓名' -annotate +380+98 '考号' \
    -fill white -stroke '#9fb4cf' \
    -draw 'rectangle 39,121 180,148' -draw 'rectangle 209,121 350,148' -draw 'rectangle 379,121 520,148' \
    -stroke "$navy" -fill none -draw 'rectangle 0,0 559,259' \
    -strip login-background.png

button() # name text fill
{
    convert -size 100x34 xc:none -fill "$3" -draw 'roundrectangle 0,0 99,33 8,8' \
        -font "$font" -pointsize 16 -fill white -gravity center -annotate +0+0 "$2" -strip "$1"
}
button login-confirm.png '确  定' "$blue"
button login-exit.png '退  出' '#8a97a8'
