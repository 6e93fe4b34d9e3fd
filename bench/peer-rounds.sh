# Sourced by the whole-process comparisons. time_rounds ROUNDS JOBS TOOLS runs every job with
# every tool, interleaved job by job and round by round so that a change of machine load hits
# them alike, each as a fresh process timed by /usr/bin/time (wall seconds and peak resident
# memory), and appends "job tool seconds kilobytes" lines to $work/results.txt.
# The caller defines run_job JOB TOOL and pil, sets $work, and lists in $job_env the variables
# run_job needs ("name='value' ..."); clean_outputs runs before each job, outside the timing.
time_rounds() {
  local rounds=$1 r job tool
  local -a jobs=($2) tools=($3)
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
  for ((r = 1; r <= rounds; r++)); do
    for job in "${jobs[@]}"; do
      for tool in "${tools[@]}"; do
        # The last tool's output goes, and what it left to write back reaches the disk, so no
        # tool's time includes another's deletion or write-back.
        clean_outputs; sync
        /usr/bin/time -f "%e %M" -o "$work/t" bash -c "$(declare -f run_job pil); $job_env run_job $job $tool" \
          >/dev/null 2>"$work/err" || { echo "$job/$tool failed:" >&2; cat "$work/err" >&2; exit 1; }
        echo "$job $tool $(cat "$work/t")" >>"$work/results.txt"
      done
    done
    echo "round $r done, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
  done
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
}
