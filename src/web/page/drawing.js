// The doors drawn to scale from the module's layout: frames and dividers in the profile's colour, every
// insert with its material's picture placed as the desktop program places it (a picture spread over several
// doors runs across them), an insert without material hatched, one of the wrong thickness hatched in red.

const SVG = "http://www.w3.org/2000/svg";

function element(name, attributes, parent) {
  const e = document.createElementNS(SVG, name);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
  if (parent) parent.appendChild(e);
  return e;
}

function rect([x, y, width, height], attributes, parent) {
  return element("rect", { x, y, width, height, ...attributes }, parent);
}

function hatch(defs, id, color) {
  const p = element("pattern", { id, width: 8, height: 8, patternUnits: "userSpaceOnUse",
                                 patternTransform: "rotate(45)" }, defs);
  rect([0, 0, 8, 8], { fill: "#fafafa" }, p);
  element("line", { x1: 0, y1: 0, x2: 0, y2: 8, stroke: color, "stroke-width": 2 }, p);
}

// Draws the layout into `svg`. `pictureUrl(material)` gives a material's picture; `selected` names the insert
// or divider chosen ({kind, door, id}); `describe(door, insert)` the insert's name for assistive technology.
export function drawSketch(svg, layout, { profileColor, pictureUrl, selected, describe }) {
  svg.replaceChildren();
  const defs = element("defs", {}, svg);
  hatch(defs, "no-material", "#b8b8b8");
  hatch(defs, "wrong-thickness", "#d33");
  const frameColor = profileColor || "#c0c0c0";
  layout.doors.forEach((door, d) => {
    const g = element("g", { class: "door" }, svg);
    rect(door.rect, { fill: "#eee" }, g);
    for (const insert of door.inserts) {
      const isSelected = selected && selected.kind === "insert" && selected.door === d && selected.id === insert.id;
      const holder = element("svg", { x: insert.rect[0], y: insert.rect[1], width: Math.max(insert.rect[2], 0),
                                      height: Math.max(insert.rect[3], 0), class: "insert", tabindex: 0,
                                      role: "button", "aria-pressed": String(!!isSelected),
                                      "aria-label": describe(d, insert), "data-door": d, "data-insert": insert.id }, g);
      const fill = insert.thicknessError ? "url(#wrong-thickness)" : "url(#no-material)";
      const url = insert.material && !insert.thicknessError ? pictureUrl(insert.material) : null;
      if (url) {
        const [width, height, sourceX, sourceY] = insert.material.picture;
        element("image", { href: url, x: -sourceX, y: -sourceY, width, height, preserveAspectRatio: "none" }, holder);
      } else {
        rect([0, 0, "100%", "100%"], { fill }, holder);
      }
      if (isSelected) rect([2, 2, Math.max(insert.rect[2] - 4, 0), Math.max(insert.rect[3] - 4, 0)],
                           { class: "selection" }, holder);
    }
    for (const side of door.frame) rect(side, { fill: frameColor, class: "profile" }, g);
    for (const divider of door.dividers) {
      const isSelected = selected && selected.kind === "divider" && selected.door === d && selected.id === divider.id;
      rect(divider.rect, { fill: frameColor, class: isSelected ? "profile divider selected" : "profile divider",
                           "data-door": d, "data-divider": divider.id }, g);
    }
  });
}
