#!/usr/bin/env bash
# Latency and throughput of veltrace-ocrd next to the tesseract command-line program, on the
# same images in the same run, and the character accuracy of both.
# Usage: tests/bench/service/bench.sh [BUILD_DIR] [ROUNDS]   (default build/release, 7)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
rounds="${2:-7}"
binary="$build/service/veltrace-ocrd"
[ -x "$binary" ] || { echo "bench: build $binary first" >&2; exit 1; }
command -v tesseract >/dev/null || { echo "bench: tesseract is not installed" >&2; exit 1; }

work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
bash "$root/scripts/make-certs.sh" "$work/certs" >/dev/null

# The pictures: a 800x200 region of screen text and a full 1920x1080 screen, each with the text
# it shows in a .txt file beside it.
font="Noto-Sans-CJK-SC"
region_lines=("识别屏幕上的文字并复制到剪贴板" "The quick brown fox jumps over the lazy dog 123"
  "本地服务使用引擎进行识别，结果写入文本框。" "Performance goal: latency below 300 ms.")
args=(-size 800x200 xc:white -font "$font" -pointsize 15 -fill black)
y=34
for line in "${region_lines[@]}"; do args+=(-annotate "+12+$y" "$line"); y=$((y + 44)); done
convert "${args[@]}" -type TrueColor region.png
printf '%s\n' "${region_lines[@]}" >region.txt

screen_lines=("本周会议纪要：讨论了屏幕识别工具的发布计划和测试安排。"
  "The release candidate will be tagged on Friday after the review."
  "请在周三之前提交各自模块的单元测试和基准测试结果。"
  "Performance goal: recognition latency below 300 ms for small regions."
  "识别服务在本机回环地址上运行，使用 HTTPS 和本地证书。"
  "Open issues: font rendering on high DPI screens, clipboard bitmap format."
  "下载地址与安装说明见项目主页，如有问题请联系维护人员。"
  "Meeting notes were approved by all participants without changes.")
title="文件  编辑  视图  工具  帮助   Veltrace 屏幕文字识别"
args=(-size 1920x1080 xc:'#f3f3f3' -fill '#2b2b2b' -draw 'rectangle 0,0 1920,40'
  -fill '#e8e8e8' -draw 'rectangle 0,40 300,1080' -font "$font" -pointsize 15
  -fill white -annotate +12+26 "$title")
echo "$title" >screen.txt
y=80
for item in "收件箱 Inbox" "已发送 Sent" "草稿箱 Drafts" "项目文档 Projects" "设置 Settings" "回收站 Trash"; do
  args+=(-fill '#333333' -annotate "+20+$y" "$item")
  echo "$item" >>screen.txt
  y=$((y + 36))
done
y=90
for block in 1 2 3; do
  for line in "${screen_lines[@]}"; do
    args+=(-fill '#202020' -annotate "+340+$y" "$line")
    echo "$line" >>screen.txt
    y=$((y + 28))
  done
  y=$((y + 20))
done
convert "${args[@]}" -type TrueColor screen.png

"$binary" --port 0 --quiet --cert certs/server.pem --key certs/server.key >service.out 2>&1 &
pid=$!
for _ in $(seq 900); do
  grep -q '^listening on' service.out || ! kill -0 "$pid" 2>/dev/null && break
  sleep 0.2
done
port="$(sed -n 's/^listening on https:\/\/127.0.0.1:\([0-9]*\)$/\1/p' service.out)"
[ -n "$port" ] || { echo "bench: the service did not start" >&2; cat service.out >&2; exit 1; }
base="https://127.0.0.1:$port"
curl_="curl -s --cacert certs/ca.pem"
token="$($curl_ "$base/oauth/2.0/token?grant_type=client_credentials&client_id=Qm4TvLp8RxK2nHc7WsY3bJfA&client_secret=Zt5uNw2QeLr9Hk3VbP7mXc4JsD8yGa6F" |
  sed -n 's/.*"access_token":"\([^"]*\)".*/\1/p')"
target="$base/rest/2.0/ocr/v1/accurate_basic?access_token=$token&aipSdk=Android&aipSdkVersion=1_3_3&aipDevid=bench"
for image in region screen; do
  printf 'detect_direction=true&image=' >"$image.body"
  base64 -w0 "$image.png" | sed 's/+/%2B/g; s/\//%2F/g; s/=/%3D/g' >>"$image.body"
done

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Median of the numbers on stdin.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

service_once() { $curl_ --data-binary "@$1.body" "$target" >"${2:-$1.answer}"; }
cli_once() { tesseract "$1.png" "$1.cli" -l chi_sim+eng >/dev/null 2>&1; }
cli1_once() { OMP_THREAD_LIMIT=1 tesseract "$1.png" "$1.cli1" -l chi_sim+eng >/dev/null 2>&1; }
# Median milliseconds of ROUNDS runs of "$@", after one warm-up run.
latency() {
  "$@"
  for _ in $(seq "$rounds"); do
    start=$(now_ms)
    "$@"
    echo $(($(now_ms) - start))
  done | median
}

# Character accuracy (1 - edit distance / length) of TEXT against TRUTH. Both are compared as
# their lines in sorted order, joined with line breaks, so that the order in which side-by-side
# blocks are read does not count. TEXT is a recognition answer (JSON) or the command-line
# program's plain text.
accuracy() {  # accuracy TRUTH_FILE TEXT_FILE
  python3 - "$1" "$2" <<'PY'
import json, re, sys
def lines_of(path):
    text = open(path, encoding='utf-8').read()
    if text.startswith('{'):
        return [w['words'] for w in json.loads(text)['words_result']]
    cjk = r'[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]'
    return [re.sub(f'(?<={cjk}) +(?={cjk})', '', l.strip()) for l in text.splitlines() if l.strip()]
a, b = ('\n'.join(sorted(lines_of(path))) for path in sys.argv[1:3])
prev = list(range(len(b) + 1))
for i, ca in enumerate(a, 1):
    cur = [i] + [0] * len(b)
    for j, cb in enumerate(b, 1):
        cur[j] = min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (ca != cb))
    prev = cur
print(f"{1 - prev[-1] / len(a):.3f}")
PY
}

echo "veltrace-ocrd benchmark: $(nproc) cores, median of $rounds runs, chi_sim+eng"
printf '%-22s %10s %12s %14s %8s %8s\n' image "service ms" "tesseract ms" "tess(omp1) ms" ratio "ratio1"
for image in region screen; do
  s=$(latency service_once "$image")
  c=$(latency cli_once "$image")
  c1=$(latency cli1_once "$image")
  awk -v name="$image ($(identify -format %wx%h "$image.png"))" -v s="$s" -v c="$c" -v c1="$c1" \
    'BEGIN { printf "%-22s %10d %12d %14d %8.2f %8.2f\n", name, s, c, c1, s / c, s / c1 }'
  echo "  accuracy: service $(accuracy "$image.txt" "$image.answer"), tesseract $(accuracy "$image.txt" "$image.cli.txt")"
done
echo "(ratio: service / tesseract with its default OpenMP threads; ratio1: / OMP_THREAD_LIMIT=1)"

# Throughput on the region: 12 requests from 1 client, then from 2 clients at once.
throughput() {
  clients=$1
  per_client=$((12 / clients))
  start=$(now_ms)
  loops=()
  for _ in $(seq "$clients"); do
    (for _ in $(seq "$per_client"); do service_once region /dev/null; done) &
    loops+=($!)
  done
  wait "${loops[@]}"
  elapsed=$(($(now_ms) - start))
  awk -v n="$clients" -v ms="$elapsed" \
    'BEGIN { printf "throughput, %d client(s): %.2f requests/s (12 requests in %d ms)\n", n, 12000 / ms, ms }'
}
throughput 1
throughput 2
