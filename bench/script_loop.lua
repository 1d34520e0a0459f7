-- The script-loop benchmark's Lua side: the same while loop as the tolv
-- function (one compare, two adds, one jump per iteration).
local n = tonumber(arg[1]) or 10000000
local best = math.huge
for _ = 1, 5 do
  local i, j = 0, 0
  local t = os.clock()
  while i < n do
    i = i + 1
    j = j + 2
  end
  local ns = (os.clock() - t) * 1e9 / n
  if ns < best then best = ns end
  assert(j == 2 * n)
end
print(string.format("%.3f", best))
