#!/usr/bin/env bash
# The Windows grower's world files, read on Linux: a heightmap PNG (16-bit
# grey through WIC), a raw heightmap, a texture PNG and the metadata are
# checked pixel by pixel against the grid dump by check_world_files.py
# (PIL, json), and the mesh by the glTF validator when it is installed.
#   world_files_test.sh WINE_RUN PREFIX GROWER.exe PYTHON CHECKER NODE VALIDATOR WORKDIR
set -euo pipefail
wine_run=$1 prefix=$2 grower=$3 python=$4 checker=$5 node=$6 validator=$7 workdir=$8

rm -rf "$workdir"
mkdir -p "$workdir"
cd "$workdir"
"$wine_run" "$prefix" "$grower" --quiet --seeds 1802,9373 --passes 301 \
    --heightmap h.png --heightmap-size 97x61 --image t.png --view texture --size 97x61 \
    --mesh m.glb --relief 3 --dump d.bin --metadata meta.json >summary.txt
"$wine_run" "$prefix" "$grower" --quiet --seeds 1802,9373 --passes 301 \
    --heightmap h.r16 --dump d2.bin --metadata meta2.json >/dev/null
cmp d.bin d2.bin

"$python" "$checker" d.bin meta.json h.png t.png
"$python" "$checker" d2.bin meta2.json h.r16

if [ -n "$node" ] && [ -d "$(dirname "$validator")/node_modules/gltf-validator" ]; then
    "$node" "$validator" m.glb
else
    echo "glTF validator not installed; mesh not validated"
fi
