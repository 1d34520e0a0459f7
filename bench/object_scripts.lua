-- The object-scripts benchmark's Lua side: the same movement script as the
-- tolv objects run, over 1000 tables. Prints the best us/frame and a
-- checksum of the objects after one round.
local frames = tonumber(arg[1]) or 200
local rounds = tonumber(arg[2]) or 5
local n = 1000
local g = {}
for i = 0, 15 do g[i] = i % 5 - 2 end

local function Reset(objs)
  for i = 1, n do
    local k = i - 1
    objs[i] = {x = k * 4 % 4000, y = k * 3 % 3000, vx = k % 7 - 3, vy = k % 5 - 2, t = k}
  end
end

local function Frame(objs)
  for i = 1, n do
    local o = objs[i]
    o.x = o.x + o.vx
    o.y = o.y + o.vy
    if o.x < 0 then o.x = 0; o.vx = -o.vx end
    if o.x > 4000 then o.x = 4000; o.vx = -o.vx end
    if o.y > 3000 then o.y = 3000; o.vy = -o.vy end
    o.t = o.t + 1
    local r = o.t & 15
    o.vy = o.vy + g[r]
  end
end

local best, sum = math.huge, 0
for _ = 1, rounds do
  local objs = {}
  Reset(objs)
  local t = os.clock()
  for _ = 1, frames do Frame(objs) end
  local us = (os.clock() - t) * 1e6 / frames
  if us < best then best = us end
  sum = 0
  for i = 1, n do sum = sum + objs[i].x + 3 * objs[i].y end
end
print(string.format("%.3f %d", best, sum))
