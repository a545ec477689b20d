// The pickers' pictures, drawn as the desktop program draws them from the catalogue: a system's emblem (its
// initial over two sliding doors on their rail), a handle profile's cross-section and a colour's swatch.

const SVG = "http://www.w3.org/2000/svg";

function svg(content) {
  const s = document.createElementNS(SVG, "svg");
  s.setAttribute("viewBox", "0 0 58 58");
  s.setAttribute("aria-hidden", "true");
  s.innerHTML = content;
  return s;
}

export function systemEmblem(name) {
  const initial = [...name][0] || "";
  const e = svg(`<rect x="4" y="50" width="50" height="3" fill="#777"/>
    <rect x="8" y="14" width="22" height="36" fill="#d9e4ee" stroke="#556" stroke-width="2"/>
    <rect x="28" y="14" width="22" height="36" fill="#c7d6e4" stroke="#556" stroke-width="2"/>
    <text x="29" y="11" font-size="11" text-anchor="middle" font-weight="bold" fill="#334"></text>`);
  e.querySelector("text").textContent = initial;
  return e;
}

export function handleSection(asymmetric) {
  // An asymmetric profile grips on one side only.
  const grip = asymmetric ? "M20 8 h14 v42 h-14 v-6 h8 v-30 h-8 z" : "M18 8 h22 v6 h-6 v30 h6 v6 h-22 v-6 h6 v-30 h-6 z";
  return svg(`<path d="${grip}" fill="#9aa3ad" stroke="#445" stroke-width="1.5"/>`);
}

export function colorSwatch(rgb) {
  const e = svg(`<rect x="6" y="6" width="46" height="46" rx="4" stroke="#667" stroke-width="1.5"/>`);
  e.querySelector("rect").setAttribute("fill", rgb);
  return e;
}
