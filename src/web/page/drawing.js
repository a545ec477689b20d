// The doors drawn to scale from the module's layout, on a canvas: frames and dividers in the profile's
// colour, every insert with its material's picture placed as the desktop program places it (a picture spread
// over several doors runs across them), an insert without material hatched, one of the wrong thickness
// hatched in red, and the customer's choice outlined.

function hatch(color) {
  const tile = document.createElement("canvas");
  tile.width = tile.height = 8;
  const g = tile.getContext("2d");
  g.fillStyle = "#fafafa";
  g.fillRect(0, 0, 8, 8);
  g.strokeStyle = color;
  g.lineWidth = 1.5;
  g.beginPath();
  g.moveTo(0, 8);
  g.lineTo(8, 0);
  g.moveTo(-2, 2);
  g.lineTo(2, -2);
  g.moveTo(6, 10);
  g.lineTo(10, 6);
  g.stroke();
  return tile;
}

let hatches = null;

// Draws the layout on `canvas` (`width` x `height` CSS pixels). `picture(material)` gives a material's
// loaded picture or null; `selected` names the insert or divider chosen ({kind, door, id}).
export function drawSketch(canvas, layout, { width, height, profileColor, picture, selected }) {
  const ratio = window.devicePixelRatio || 1;
  if (canvas.width !== Math.round(width * ratio) || canvas.height !== Math.round(height * ratio)) {
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = `${width}px`;
    canvas.style.height = `${height}px`;
  }
  const g = canvas.getContext("2d");
  g.setTransform(ratio, 0, 0, ratio, 0, 0);
  g.clearRect(0, 0, width, height);
  if (!hatches) hatches = { none: g.createPattern(hatch("#b8b8b8"), "repeat"), wrong: g.createPattern(hatch("#d33"), "repeat") };
  const frame = profileColor || "#c0c0c0";
  const outline = [];
  layout.doors.forEach((door, d) => {
    g.fillStyle = "#eee";
    g.fillRect(...door.rect);
    for (const insert of door.inserts) {
      const [x, y, w, h] = insert.rect;
      const image = insert.material && !insert.thicknessError ? picture(insert.material) : null;
      if (image) {
        const [pw, ph, sx, sy] = insert.material.picture;
        g.save();
        g.beginPath();
        g.rect(x, y, w, h);
        g.clip();
        g.drawImage(image, x - sx, y - sy, pw, ph);
        g.restore();
      } else {
        g.fillStyle = insert.thicknessError ? hatches.wrong : hatches.none;
        g.fillRect(x, y, w, h);
      }
      if (selected && selected.kind === "insert" && selected.door === d && selected.id === insert.id)
        outline.push([x + 2, y + 2, w - 4, h - 4]);
    }
    g.fillStyle = frame;
    g.strokeStyle = "#4a4f55";
    g.lineWidth = 0.5;
    for (const side of door.frame) {
      g.fillRect(...side);
      g.strokeRect(...side);
    }
    for (const divider of door.dividers) {
      g.fillRect(...divider.rect);
      g.strokeRect(...divider.rect);
      if (selected && selected.kind === "divider" && selected.door === d && selected.id === divider.id)
        outline.push(divider.rect);
    }
  });
  g.strokeStyle = getComputedStyle(canvas).getPropertyValue("--accent") || "#1f6fb2";
  g.lineWidth = 3;
  for (const r of outline) g.strokeRect(...r);
}

// The inserts of a layout in reading order (door by door, then top to bottom and left to right), as the
// keyboard steps through them.
export function insertsInOrder(layout) {
  return layout.doors.flatMap((door, d) =>
    [...door.inserts].sort((a, b) => a.rect[1] - b.rect[1] || a.rect[0] - b.rect[0]).map((i) => ({ door: d, insert: i })));
}
