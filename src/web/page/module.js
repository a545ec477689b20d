// The browser's module (dalvex.js and dalvex.wasm, built from the program's core) and the shop's data
// loaded into it. Every answer about the order comes from here: the page only shows it and hands on what the
// customer does, as editing operations.

export class Order {
  constructor(module) {
    this.module = module;
  }

  // Loads the module and the shop's data pack side by side; rejects with the reason when either fails.
  static async load(packUrl) {
    const [module, pack] = await Promise.all([
      createDalvex(),
      fetch(packUrl).then((r) => {
        if (!r.ok) throw new Error(`${packUrl}: ${r.status}`);
        return r.arrayBuffer();
      }),
    ]);
    const order = new Order(module);
    const error = order.withBytes(new Uint8Array(pack), (ptr, size) =>
      order.text("dalvex_start", ["number", "number"], [ptr, size]));
    if (error) throw new Error(error);
    return order;
  }

  text(name, types = [], args = []) {
    return this.module.ccall(name, "string", types, args);
  }

  json(name, types, args) {
    return JSON.parse(this.text(name, types, args));
  }

  // Copies bytes into the module's memory for one call.
  withBytes(bytes, call) {
    const ptr = this.module._malloc(Math.max(bytes.length, 1));
    try {
      this.module.HEAPU8.set(bytes, ptr);
      return call(ptr, bytes.length);
    } finally {
      this.module._free(ptr);
    }
  }

  // The bytes a call left as its answer.
  answerBytes() {
    const ptr = this.module.ccall("dalvex_answer_data", "number", [], []);
    const size = this.module.ccall("dalvex_answer_size", "number", [], []);
    return this.module.HEAPU8.slice(ptr, ptr + size);
  }

  shop() {
    return this.json("dalvex_shop");
  }

  // What the page shows of the order: its choices, bill, history and total.
  state() {
    return this.json("dalvex_state");
  }

  // Applies editing operations (as dalvex-cli's scripts name them); true when the editor took every one.
  apply(...operations) {
    const answer = this.json("dalvex_apply", ["string"], [JSON.stringify(operations)]);
    return Array.isArray(answer.applied) && answer.applied.every(Boolean);
  }

  layout(width, height) {
    return this.json("dalvex_layout", ["number", "number"], [width, height]);
  }

  hit(x, y) {
    return this.json("dalvex_hit", ["number", "number"], [Math.round(x), Math.round(y)]);
  }

  file() {
    this.module.ccall("dalvex_file", null, [], []);
    return this.answerBytes();
  }

  // Opening answers an empty text, or the message the programs give for what could not be opened.
  openFile(bytes) {
    return this.withBytes(bytes, (ptr, size) =>
      this.text("dalvex_open_file", ["number", "number"], [ptr, size]));
  }

  openLink(link) {
    return this.text("dalvex_open_link", ["string"], [link]);
  }

  link(page) {
    return this.text("dalvex_link", ["string"], [page]);
  }

  shopFile(path) {
    this.module.ccall("dalvex_shop_file", null, ["string"], [path]);
    return this.answerBytes();
  }
}
