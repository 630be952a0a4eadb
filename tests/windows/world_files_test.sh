#!/usr/bin/env bash
# The Windows grower's world files, read on Linux: a heightmap PNG (16-bit
# grey through WIC), a raw heightmap, a texture PNG and the metadata are
# checked pixel by pixel against the grid dump by check_world_files.py
# (PIL, json), and the mesh by the glTF validator when it is installed.
# Files grown per pixel: the float heights byte for byte those of the Linux
# grower (when one is given), the texture checked against them. A float
# EXR, which this build cannot write, is refused before any work.
#   world_files_test.sh WINE_RUN PREFIX GROWER.exe PYTHON CHECKER NODE VALIDATOR WORKDIR [LINUX_GROWER]
set -euo pipefail
wine_run=$1 prefix=$2 grower=$3 python=$4 checker=$5 node=$6 validator=$7 workdir=$8 linux_grower=${9:-}

rm -rf "$workdir"
mkdir -p "$workdir"
cd "$workdir"
"$wine_run" "$prefix" "$grower" --quiet --seeds 1802,9373 --passes 301 --sampling grid \
    --heightmap h.png --heightmap-size 97x61 --image t.png --view texture --size 97x61 \
    --mesh m.glb --relief 3 --dump d.bin --metadata meta.json >summary.txt
"$wine_run" "$prefix" "$grower" --quiet --seeds 1802,9373 --passes 301 --sampling grid \
    --heightmap h.r16 --dump d2.bin --metadata meta2.json >/dev/null
cmp d.bin d2.bin

"$python" "$checker" d.bin meta.json h.png t.png
"$python" "$checker" d2.bin meta2.json h.r16

pixels=(--quiet --seeds 1802,9373 --passes 301 --heightmap p.r32 --heightmap-size 97x61 --region 40,3,57x50
    --image pt.png --view texture --size 97x61 --cube-heightmap 'c{face}.r32' --face-size 9)
"$wine_run" "$prefix" "$grower" "${pixels[@]}" --dump d3.bin --metadata meta3.json >/dev/null
"$python" "$checker" d3.bin meta3.json --samples p.r32 pt.png
if [ -n "$linux_grower" ]; then
    mkdir linux
    (cd linux && "$linux_grower" "${pixels[@]}" >/dev/null)
    for file in p.r32 cpx.r32 cnx.r32 cpy.r32 cny.r32 cpz.r32 cnz.r32; do
        cmp "$file" "linux/$file"
    done
    echo "float heights grown per pixel: byte for byte the Linux grower's"
fi

status=0
"$wine_run" "$prefix" "$grower" --quiet --heightmap h.exr >exr.out 2>exr.err || status=$?
if [ "$status" -ne 2 ] || [ -s exr.out ] || [ -e h.exr ]; then
    echo "--heightmap h.exr: status $status, $(cat exr.err)"
    exit 1
fi
echo ".exr refused before any work: $(cat exr.err)"

if [ -n "$node" ] && [ -d "$(dirname "$validator")/node_modules/gltf-validator" ]; then
    "$node" "$validator" m.glb
else
    echo "glTF validator not installed; mesh not validated"
fi
