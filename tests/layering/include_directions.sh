#!/bin/sh
# Includes and links point one way only:
#   app -> ui -> content -> render / tools -> scene / platform
# A folder may use itself and any folder below it, never one above it nor
# its sibling (render and tools, scene and platform are siblings). Checks
# every #include line of the program's folders and every library each
# folder's CMakeLists.txt links; prints each offence and fails on any.
set -eu
root=${1:-$(dirname "$0")/../..}
cd "$root"

allowed() {
    case $1 in
        app) echo "app ui content render tools scene platform resources" ;;
        ui) echo "ui content render tools scene platform resources" ;;
        content) echo "content render tools scene platform" ;;
        render) echo "render scene platform" ;;
        tools) echo "tools scene platform" ;;
        scene) echo "scene" ;;
        platform) echo "platform" ;;
    esac
}

folders="app ui content render tools scene platform"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\(app\|ui\|content\|render\|tools\|scene\|platform\|resources\)/'
offences=0

offend() {
    echo "$1: $2 may not use $3 (it may use: $(allowed "$2"))"
    offences=$((offences + 1))
}

for folder in $folders; do
    ok=$(allowed "$folder")
    for file in "$folder"/*.cpp "$folder"/*.h; do
        [ -f "$file" ] || continue
        for used in $(sed -n "s;$pattern.*;\1;p" "$file"); do
            case " $ok " in *" $used "*) ;; *) offend "$file" "$folder" "$used" ;; esac
        done
    done
    libraries=$(grep -o 'velmora_[a-z_]*' "$folder/CMakeLists.txt" | sed 's/velmora_//' | sort -u)
    for used in $libraries; do
        case " $folders resources " in *" $used "*) ;; *) continue ;; esac
        case " $ok " in *" $used "*) ;; *) offend "$folder/CMakeLists.txt" "$folder" "$used" ;; esac
    done
done

if [ "$offences" -gt 0 ]; then
    echo "$offences use(s) against the direction of the layers"
    exit 1
fi
echo "every include and link points down the layers"
