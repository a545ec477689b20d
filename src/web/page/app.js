// The customer's page: the pickers, the opening, the drawing and the total, over the module's order. What an
// edit may do is the editor's to decide: the page hands on the operation and shows the order it answers.
import { Order } from "./module.js";
import { drawSketch, insertsInOrder } from "./drawing.js";
import { colorSwatch, handleSection, systemEmblem } from "./pictures.js";

const STORAGE_KEY = "dalvex-order";
const LINK_MARK = "#dlx=";
const $ = (id) => document.getElementById(id);

const page = {
  order: null,
  shop: null,
  state: null,
  layout: null,
  // What the customer chose in the drawing: {kind: "insert" | "divider", door, id, across, along}.
  selected: null,
  collection: 0,
  pictureUrls: new Map(),
  pictures: new Map(), // path -> picture loaded for the drawing
  materials: new Map(), // "collection/key" -> material of the shop's library
};

function hint(text) {
  $("hint").textContent = text || "";
}

// --- The order's pictures.

function pictureUrl(path) {
  if (!page.pictureUrls.has(path)) {
    const bytes = page.order.shopFile(path);
    page.pictureUrls.set(path, bytes.length ? URL.createObjectURL(new Blob([bytes], { type: "image/jpeg" })) : null);
  }
  return page.pictureUrls.get(path);
}

function materialOf(collection, key) {
  return page.materials.get(`${collection}/${key}`);
}

// The picture of a material for the drawing once it is loaded; the drawing is made again when it is.
function drawnPicture(material) {
  const m = materialOf(material.collection, material.key);
  if (!m) return null;
  if (!page.pictures.has(m.picture)) {
    const image = new Image();
    image.onload = () => page.state && drawOnly();
    const url = pictureUrl(m.picture);
    if (url) image.src = url;
    page.pictures.set(m.picture, image);
  }
  const image = page.pictures.get(m.picture);
  return image.complete && image.naturalWidth ? image : null;
}

// --- Editing.

function keep() {
  try {
    localStorage.setItem(STORAGE_KEY, page.order.link(""));
  } catch {
    // A browser that keeps nothing (private mode, storage full) still prices the order.
  }
}

// Applies operations as steps of the order's history and shows what the editor answered.
function edit(...operations) {
  performance.mark("dalvex-edit-start");
  const taken = page.order.apply(...operations);
  hint(taken ? "" : "Это изменение невозможно.");
  if (taken) keep();
  render();
  performance.measure("dalvex-edit", "dalvex-edit-start");
  return taken;
}

function selectedInsert() {
  return page.selected && page.selected.kind === "insert" ? page.selected : null;
}

function selectedDivider() {
  return page.selected && page.selected.kind === "divider" ? page.selected : null;
}

// Chooses what lies at a point of the drawing: a divider, else an insert with the divider positions a split
// there would take.
function selectAt(x, y) {
  const hit = page.order.hit(x, y);
  if (hit.divider) page.selected = { kind: "divider", door: hit.divider.door, id: hit.divider.id };
  else if (hit.insert)
    page.selected = { kind: "insert", door: hit.insert.door, id: hit.insert.id,
                      across: hit.insert.across, along: hit.insert.along };
  else page.selected = null;
  hint("");
  drawOnly();
}

function insertRect(door, id) {
  const d = page.layout && page.layout.doors[door];
  const insert = d && d.inserts.find((i) => i.id === id);
  return insert ? insert.rect : null;
}

// A keyboard's choice of an insert: as if it were tapped in its middle.
function selectInsert(door, id) {
  const r = insertRect(door, id);
  if (r) selectAt(r[0] + r[2] / 2, r[1] + r[3] / 2);
}

// The arrows step through the inserts in reading order.
function stepInsert(by) {
  const inserts = insertsInOrder(page.layout);
  if (!inserts.length) return;
  const s = selectedInsert();
  const at = s ? inserts.findIndex((i) => i.door === s.door && i.insert.id === s.id) : -1;
  const next = inserts[(at + by + inserts.length + (at < 0 && by < 0 ? 1 : 0)) % inserts.length];
  selectInsert(next.door, next.insert.id);
}

function split(vertical) {
  const s = selectedInsert();
  if (!s) return hint("Выберите вставку на эскизе.");
  const position = vertical ? s.along : s.across;
  page.selected = null;
  edit({ op: "split", door: s.door, insert: s.id, position, vertical });
}

function alignDividers() {
  const s = page.selected;
  if (!s) return hint("Выберите дверь на эскизе.");
  const door = page.state.order.doors[s.door];
  const kinds = new Set(door ? door.dividers.map((d) => d.vertical) : []);
  if (kinds.size === 0) return hint("На этой двери нет разделителей.");
  edit(...[...kinds].map((vertical) => ({ op: "alignDividers", door: s.door, vertical })));
}

function removeDivider() {
  const s = selectedDivider();
  if (!s) return hint("Выберите разделитель на эскизе.");
  page.selected = null;
  edit({ op: "removeDivider", door: s.door, divider: s.id });
}

function fill(collection, material) {
  const s = selectedInsert();
  if (!s) return hint("Выберите вставку на эскизе, затем материал.");
  edit({ op: "fill", door: s.door, insert: s.id, material: material.key, collection: collection.name });
}

function clearMaterial() {
  const s = selectedInsert();
  if (!s) return hint("Выберите вставку на эскизе.");
  edit({ op: "clearMaterial", door: s.door, insert: s.id });
}

function typedMillimetres(input, op) {
  const text = input.value.trim();
  if (!/^\d{1,7}$/.test(text)) {
    hint("Введите размер в миллиметрах.");
    render();
    return;
  }
  edit({ op, mm: Number(text) });
}

// --- Showing the order.

function pictureButton(picture, label, checked, onChoose, detail = "") {
  const b = document.createElement("button");
  b.type = "button";
  b.className = "picture";
  b.setAttribute("role", "radio");
  b.setAttribute("aria-checked", String(checked));
  b.append(picture);
  const caption = document.createElement("span");
  caption.textContent = label;
  b.append(caption);
  if (detail) {
    const small = document.createElement("small");
    small.textContent = detail;
    b.append(small);
  }
  b.addEventListener("click", onChoose);
  return b;
}

// Refills a picker; the keyboard's place in it stays where it was.
function refill(container, children) {
  const focused = [...container.children].indexOf(document.activeElement);
  container.replaceChildren(...children);
  if (focused >= 0 && container.children.length) container.children[Math.min(focused, container.children.length - 1)].focus();
}

// Whether what a part of the page shows is what it showed last: the parts are made again only when not.
const shown = new Map();
function unchanged(part, ...what) {
  const key = JSON.stringify(what);
  if (shown.get(part) === key) return true;
  shown.set(part, key);
  return false;
}

function fillPickers() {
  const { choices, order } = page.state;
  if (unchanged("pickers", choices.systems, choices.handles, choices.colors, order.system, order.handleProfile,
                order.profileColor))
    return;
  refill($("systems"), choices.systems.map((name) =>
    pictureButton(systemEmblem(name), name, name === order.system, () => edit({ op: "system", name }))));
  refill($("handles"), choices.handles.map((h) =>
    pictureButton(handleSection(h.asymmetric), h.code, h.code === order.handleProfile,
                  () => edit({ op: "handle", code: h.code }), h.name)));
  refill($("colors"), choices.colors.map((c) =>
    pictureButton(colorSwatch(c.rgb), c.name, c.name === order.profileColor, () => edit({ op: "color", name: c.name }),
                  c.madeToOrder ? "под заказ" : "")));
}

function showField(input, tenths) {
  if (document.activeElement !== input) input.value = String(Math.trunc(tenths / 10));
}

function fillDimensions() {
  const { choices, order } = page.state;
  showField($("width"), order.width);
  showField($("height"), order.height);
  showField($("chipboard"), order.chipboardWidth);
  showField($("plinth"), order.plinthHeight);
  for (const e of document.querySelectorAll(".plinth")) e.hidden = !choices.usesPlinth;
  const doors = $("doors");
  const dividers = $("divider-profile");
  if (!unchanged("lists", choices.doorCounts, choices.dividerProfiles)) {
    doors.replaceChildren(...choices.doorCounts.map((n) => new Option(String(n), String(n))));
    dividers.replaceChildren(...choices.dividerProfiles.map((d) =>
      new Option(d.name ? `${d.code} ${d.name}` : d.code, d.code)));
  }
  // Also after a choice the editor refused.
  doors.value = String(order.doorCount);
  dividers.value = order.dividerProfile || "";
  $("divider-field").hidden = choices.dividerProfiles.length < 2;
}

function fillLibrary() {
  const collections = page.shop.collections;
  $("collections").replaceChildren(...collections.map((c, i) => {
    const tab = document.createElement("button");
    tab.type = "button";
    tab.textContent = c.name;
    tab.setAttribute("role", "tab");
    tab.setAttribute("aria-selected", String(i === page.collection));
    tab.addEventListener("click", () => {
      page.collection = i;
      fillLibrary();
    });
    return tab;
  }));
  const collection = collections[page.collection];
  $("materials").replaceChildren(...(collection ? collection.materials : []).map((m) => {
    const b = document.createElement("button");
    b.type = "button";
    b.className = "material";
    b.setAttribute("role", "option");
    b.title = m.title;
    const img = document.createElement("img");
    img.alt = "";
    img.loading = "lazy";
    const url = pictureUrl(m.picture);
    if (url) img.src = url;
    const caption = document.createElement("span");
    caption.textContent = m.title;
    b.append(img, caption);
    b.addEventListener("click", () => fill(collection, m));
    return b;
  }));
}

function fillBill() {
  if (!$("bill-details").open || unchanged("bill", page.state.bill)) return;
  $("bill").replaceChildren(...page.state.bill.map((section) => {
    const table = document.createElement("table");
    const columns = document.createElement("colgroup");
    for (const f of section.fractions) {
      const col = document.createElement("col");
      col.style.width = `${(f * 100).toFixed(1)}%`;
      columns.append(col);
    }
    table.append(columns);
    for (const row of section.rows) {
      const tr = table.insertRow();
      for (const cell of row) {
        const td = document.createElement(cell.bold ? "th" : "td");
        td.textContent = cell.text;
        tr.append(td);
      }
    }
    return table;
  }));
}

function describeSelection() {
  const s = page.selected;
  if (!s) return "";
  if (s.kind === "divider") return `Выбран разделитель двери ${s.door + 1}`;
  const door = page.layout.doors[s.door];
  const insert = door && door.inserts.find((i) => i.id === s.id);
  const m = insert && insert.material && materialOf(insert.material.collection, insert.material.key);
  return `Выбрана дверь ${s.door + 1}, вставка ${s.id}: ${m ? m.title : "без материала"}`;
}

function drawOnly() {
  const drawing = $("drawing");
  const width = Math.max(drawing.clientWidth, 1);
  const height = Math.max(drawing.clientHeight, 1);
  page.layout = page.order.layout(width, height);
  const s = page.selected;
  // A choice the order no longer has (undone, opened anew) is dropped.
  if (s && s.kind === "insert" && !insertRect(s.door, s.id)) page.selected = null;
  if (s && s.kind === "divider" &&
      !(page.layout.doors[s.door] && page.layout.doors[s.door].dividers.some((d) => d.id === s.id)))
    page.selected = null;
  const color = page.state.choices.colors.find((c) => c.name === page.state.order.profileColor);
  drawSketch($("sketch"), page.layout, { width, height, profileColor: color && color.rgb, picture: drawnPicture,
                                         selected: page.selected });
  $("selection").textContent = describeSelection();
  const inserting = !!selectedInsert();
  $("split-across").disabled = $("split-along").disabled = $("clear-material").disabled = !inserting;
  $("remove-divider").disabled = !selectedDivider();
  $("align").disabled = !page.selected;
  const fixed = page.state.choices.fixedOrientation;
  if (fixed !== null && inserting) (fixed ? $("split-across") : $("split-along")).disabled = true;
}

function render() {
  page.state = page.order.state();
  const { order, history } = page.state;
  fillPickers();
  fillDimensions();
  $("grand-total").textContent = order.grandTotalText;
  $("undo").disabled = !history.canUndo;
  $("undo").title = history.canUndo ? `Отменить: ${history.undoLabel} (Ctrl+Z)` : "Отменить";
  $("redo").disabled = !history.canRedo;
  $("redo").title = history.canRedo ? `Повторить: ${history.redoLabel} (Ctrl+Y)` : "Повторить";
  fillBill();
  drawOnly();
}

// --- Orders that arrive as links, and the one the browser kept.

function openLinkOfAddress() {
  if (!location.hash.startsWith(LINK_MARK)) return false;
  const error = page.order.openLink(location.href);
  page.selected = null;
  hint(error);
  if (!error) keep();
  // The order is the customer's now: a reload shows it as edited, not as the link brought it.
  history.replaceState(null, "", location.pathname + location.search);
  return true;
}

function reopenKept() {
  let kept = null;
  try {
    kept = localStorage.getItem(STORAGE_KEY);
  } catch {
    return;
  }
  if (kept && page.order.openLink(kept)) localStorage.removeItem(STORAGE_KEY);
}

// A file the customer downloaded earlier (or got from the shop), opened as a link is.
async function openChosenFile() {
  const file = $("open-file").files[0];
  if (!file) return;
  const error = page.order.openFile(new Uint8Array(await file.arrayBuffer()));
  $("open-file").value = "";
  page.selected = null;
  hint(error);
  if (!error) keep();
  render();
}

// --- Sending.

function pageAddress() {
  return location.href.split("#")[0];
}

function sendDialog() {
  const card = page.state.order.orderCard;
  $("customer-name").value = card.customerName;
  $("customer-phone").value = card.phone;
  $("link-box").hidden = true;
  $("send-status").textContent = "";
  $("send-dialog").showModal();
}

function makeLink(event) {
  event.preventDefault();
  const name = $("customer-name").value.trim();
  const phone = $("customer-phone").value.trim();
  if (!name || !phone) return;
  edit({ op: "card", customerName: name, phone });
  const link = page.order.link(pageAddress());
  $("link-box").hidden = false;
  $("link").value = link;
  $("send-status").textContent = link ? "" : "Этот эскиз нельзя сохранить.";
  $("share-link").hidden = !navigator.share;
}

async function copyLink() {
  const link = $("link").value;
  try {
    await navigator.clipboard.writeText(link);
  } catch {
    $("link").select();
    document.execCommand("copy");
  }
  $("send-status").textContent = "Ссылка скопирована.";
}

function shareLink() {
  navigator.share({ title: "Заявка на двери-купе", url: $("link").value }).catch(() => {});
}

function downloadFile() {
  const bytes = page.order.file();
  if (!bytes.length) return;
  const a = document.createElement("a");
  a.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
  a.download = `заявка.dlx`;
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 0);
}

// --- Start.

function connect() {
  $("undo").addEventListener("click", () => edit({ op: "undo" }));
  $("redo").addEventListener("click", () => edit({ op: "redo" }));
  $("split-across").addEventListener("click", () => split(false));
  $("split-along").addEventListener("click", () => split(true));
  $("align").addEventListener("click", alignDividers);
  $("remove-divider").addEventListener("click", removeDivider);
  $("clear-material").addEventListener("click", clearMaterial);
  for (const [id, op] of [["width", "width"], ["height", "height"], ["chipboard", "chipboard"], ["plinth", "plinth"]]) {
    $(id).addEventListener("change", () => typedMillimetres($(id), op));
    $(id).addEventListener("keydown", (e) => { if (e.key === "Enter") $(id).blur(); });
  }
  $("doors").addEventListener("change", () => edit({ op: "doors", count: Number($("doors").value) }));
  $("divider-profile").addEventListener("change", () => edit({ op: "dividerProfile", code: $("divider-profile").value }));
  $("bill-details").addEventListener("toggle", fillBill);

  const drawing = $("drawing");
  drawing.addEventListener("pointerdown", (e) => {
    const box = drawing.getBoundingClientRect();
    selectAt(e.clientX - box.left, e.clientY - box.top);
  });
  $("sketch").addEventListener("keydown", (e) => {
    const by = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 }[e.key];
    if (!by) return;
    e.preventDefault();
    stepInsert(by);
  });
  new ResizeObserver(() => page.state && drawOnly()).observe(drawing);

  document.addEventListener("keydown", (e) => {
    if (e.target.closest && e.target.closest("input, select, dialog")) return;
    const key = e.key.toLowerCase();
    if ((e.ctrlKey || e.metaKey) && (key === "z" || key === "я")) {
      e.preventDefault();
      edit({ op: e.shiftKey ? "redo" : "undo" });
    } else if ((e.ctrlKey || e.metaKey) && (key === "y" || key === "н")) {
      e.preventDefault();
      edit({ op: "redo" });
    } else if (e.key === "Delete" || e.key === "Backspace") {
      if (selectedDivider()) removeDivider();
      else if (selectedInsert()) clearMaterial();
    }
  });

  $("send").addEventListener("click", sendDialog);
  $("send-form").addEventListener("submit", makeLink);
  $("send-cancel").addEventListener("click", () => $("send-dialog").close());
  $("copy-link").addEventListener("click", copyLink);
  $("share-link").addEventListener("click", shareLink);
  $("download-file").addEventListener("click", downloadFile);
  // The browser's own file button speaks the browser's language: the page's button opens its chooser.
  $("open-file-button").addEventListener("click", () => $("open-file").click());
  $("open-file").addEventListener("change", openChosenFile);
  window.addEventListener("hashchange", () => {
    if (openLinkOfAddress()) render();
  });
}

function showShop() {
  const { text, logo, collections } = page.shop;
  $("shop-text").textContent = text;
  if (logo) {
    const url = pictureUrl(logo);
    if (url) {
      $("shop-logo").src = url;
      $("shop-logo").hidden = false;
    }
  }
  for (const c of collections) for (const m of c.materials) page.materials.set(`${c.name}/${m.key}`, m);
  fillLibrary();
}

async function start() {
  try {
    page.order = await Order.load("shop.pack");
  } catch (e) {
    $("loading").textContent = `Расчёт недоступен: ${e.message}`;
    return;
  }
  page.shop = page.order.shop();
  if (!openLinkOfAddress()) reopenKept();
  $("loading").hidden = true;
  $("app").hidden = false;
  showShop();
  connect();
  render();
  performance.mark("dalvex-first-price");
}

start();
