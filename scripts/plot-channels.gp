# Draws the five channel CSV files of one acquisition into one PNG.
# Usage: gnuplot -e "folder='DIR'; title='TEXT'; output='FILE.png'" scripts/plot-channels.gp
set terminal pngcairo size 1000,560 font ",10"
set output output
set datafile separator ","
set title title
set xlabel "frequency offset from pixel 1024 (THz)"
set ylabel "counts"
set key top right
set grid
set xrange [-25:25]
plot for [channel=0:4] sprintf("%s/channel%d.csv", folder, channel) \
     every ::1 using 2:3 with lines lw 1.2 title sprintf("channel %d", channel)
