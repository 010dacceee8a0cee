// The page around the demo: loads the pictures and the program, scales the
// canvas, shows messages, and offers the logs once the show is over.
// index.html?check runs the check mode instead: the demo on the virtual
// clock, the hashes of its frames and log written into #check for the web
// test.
'use strict';

// ?stats prints the pacer's figures at the end; ?timing=original plays on
// the browser's real clock instead of the exact show; ?crt starts with the
// CRT look; #part=N in the address starts at part N, and jumps there when
// it changes.
const Query = new URLSearchParams(location.search);
const CheckMode = Query.has('check');
// The program built with WebAssembly SIMD (and bulk memory) where the
// browser validates a function that fills memory and returns a v128
// constant; ?simd=off loads the plain one.
const SimdProbe = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 5, 3, 1, 0, 1,
                                  10, 31, 1, 29, 0, 65, 0, 65, 0, 65, 0, 252, 11, 0,
                                  253, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11]);
const Simd = Query.get('simd') !== 'off' && WebAssembly.validate(SimdProbe);
const Canvas = document.getElementById('canvas');
const Status = document.getElementById('status');
const CheckOut = document.getElementById('check');
const Overlay = document.getElementById('overlay');
const Parts = document.getElementById('parts');

// The CRT look over the canvas, where it is scaled by 2 or more: the
// program hands over the mask's tile for every factor and the glow's
// strength, the numbers the live window uses. The mask is drawn in device
// pixels and multiplied in; the glow is the picture shrunk by halvings,
// spread by the browser's filter and added.
const Crt = { On: false, Tiles: [], Strength: 0, Shrink: 1, Factor: 1,
              Mask: document.getElementById('crt-mask'), Glow: document.getElementById('crt-glow'),
              Half: document.createElement('canvas') };

function CrtShows()
{
    return Crt.On && Crt.Tiles[Crt.Factor] !== undefined;
}

function PaintCrtMask()
{
    const Tile = document.createElement('canvas');
    Tile.width = Crt.Tiles[Crt.Factor].width;
    Tile.height = Crt.Tiles[Crt.Factor].height;
    Tile.getContext('2d').putImageData(Crt.Tiles[Crt.Factor], 0, 0);
    Crt.Mask.width = Canvas.width * Crt.Factor;
    Crt.Mask.height = Canvas.height * Crt.Factor;
    const Context = Crt.Mask.getContext('2d');
    Context.fillStyle = Context.createPattern(Tile, 'repeat');
    Context.fillRect(0, 0, Crt.Mask.width, Crt.Mask.height);
}

// The glow in two halvings, each a box average of 2 x 2 through the linear
// filter, as the live window makes it.
function PaintCrtGlow()
{
    if (!CrtShows())
        return;
    Crt.Half.getContext('2d').drawImage(Canvas, 0, 0, Crt.Half.width, Crt.Half.height);
    Crt.Glow.getContext('2d').drawImage(Crt.Half, 0, 0, Crt.Glow.width, Crt.Glow.height);
}

function ShowCrt()
{
    document.getElementById('screen').classList.toggle('crt-on', CrtShows());
    if (!CrtShows())
        return;
    Crt.Glow.style.opacity = Crt.Strength;
    Crt.Half.width = Canvas.width * 2 / Crt.Shrink;
    Crt.Half.height = Canvas.height * 2 / Crt.Shrink;
    Crt.Glow.width = Canvas.width / Crt.Shrink;
    Crt.Glow.height = Canvas.height / Crt.Shrink;
    PaintCrtMask();
    PaintCrtGlow();
}

const Gcd = (A, B) => B ? Gcd(B, A % B) : A;

// The picture as large as the window allows, in device pixels, kept sharp:
// a whole factor where it fills at least 7/8 of what would fit, else the
// largest size in steps of the picture's own shape (4 x 3 device pixels),
// as a phone needs: 1170 device pixels across, held upright, would show a
// whole factor of 1 in barely half its width; the CRT look has tiles for
// whole factors only. Centred on black by the stage.
function Fit()
{
    const Ratio = window.devicePixelRatio || 1;
    const Room = { Width: innerWidth * Ratio, Height: innerHeight * Ratio };
    const Most = Math.min(Room.Width / Canvas.width, Room.Height / Canvas.height);
    // Factors of n / 160 keep 640 x 480 in whole device pixels.
    const Units = Gcd(Canvas.width, Canvas.height);
    const Whole = Math.floor(Most), Sharp = Math.floor(Most * Units) / Units;
    Crt.Factor = Whole >= Math.max(1, Most * 7 / 8) ? Whole : Sharp;
    Canvas.style.width = Canvas.width * Crt.Factor / Ratio + 'px';
    Canvas.style.height = Canvas.height * Crt.Factor / Ratio + 'px';
    ShowCrt();
}

function ToggleFullScreen()
{
    if (document.fullscreenElement)
        document.exitFullscreen();
    else
        document.getElementById('stage').requestFullscreen().catch(() => {});
}

// The part in the address, or null.
function PartInAddress()
{
    const Match = /^#part=(\d+)$/.exec(location.hash);
    return Match ? Number(Match[1]) : null;
}

// The address follows the part playing, without a new entry in the history.
function ShowPart(Index)
{
    history.replaceState(null, '', '#part=' + Index);
    for (const Link of Parts.querySelectorAll('a'))
        Link.classList.toggle('current', Number(Link.dataset.part) === Index);
}

function AskPart(Index)
{
    if (Module.askChapter)
        Module.askChapter(Index);
}

// The program's parts, listed under the canvas: a click jumps there.
function ListParts(Titles)
{
    Parts.replaceChildren(...Titles.map((Title, Index) => {
        const Link = document.createElement('a');
        Link.href = '#part=' + Index;
        Link.dataset.part = Index;
        Link.textContent = Index + ' ' + Title;
        Link.addEventListener('click', Event => {
            Event.preventDefault();
            AskPart(Index);
        });
        return Link;
    }));
}

let OverlayTimer;
function SetOverlay(Text, Ms)
{
    clearTimeout(OverlayTimer);
    Overlay.textContent = Text;
    Overlay.hidden = !Text;
    if (Text && Ms)
        OverlayTimer = setTimeout(() => { Overlay.hidden = true; }, Ms);
}

function Say(Text)
{
    Status.textContent = Text;
}

function OfferLog(Name)
{
    let Bytes;
    try {
        Bytes = Module.FS.readFile(Name);
    } catch (Error) {
        return;
    }
    const Link = document.createElement('a');
    Link.href = URL.createObjectURL(new Blob([Bytes], { type: 'text/plain' }));
    Link.download = Name;
    Link.textContent = Name;
    document.getElementById('logs').appendChild(Link);
}

async function Digest(Bytes)
{
    const Hash = new Uint8Array(await crypto.subtle.digest('SHA-256', Bytes));
    return [...Hash].map(Byte => Byte.toString(16).padStart(2, '0')).join('');
}

// The check mode's frames as sha256sum hashes them, and its log.
async function HashCheckFiles()
{
    const Lines = [];
    for (const Name of Module.FS.readdir('frames').filter(Name => Name.endsWith('.ppm')).sort())
        Lines.push(await Digest(Module.FS.readFile('frames/' + Name)) + '  ' + Name);
    Lines.push('log ' + await Digest(Module.FS.readFile('LogDemo.txt')));
    CheckOut.textContent += Lines.join('\n') + '\n';
}

function Ended(Code)
{
    document.body.classList.remove('playing');
    document.body.dataset.exit = Code;
    if (CheckMode) {
        HashCheckFiles().catch(Error => Say('Hashing failed: ' + Error.message))
                        .finally(() => { CheckOut.dataset.done = Code; });
        return;
    }
    Say(Code === 0 ? 'The end. The logs of this run:' : 'Stopped (exit code ' + Code + '). The logs:');
    OfferLog('LogDemo.txt');
    OfferLog('VantuTimer.txt');
}

var Module = {
    canvas: Canvas,
    preRun: [],
    print: Line => {
        if (CheckMode)
            CheckOut.textContent += Line + '\n';
        else
            console.log(Line);
    },
    printErr: Line => {
        console.warn(Line);
        const Messages = document.getElementById('messages');
        Messages.textContent += (Messages.textContent ? ' · ' : '') + Line;
    },
    onWaitForStart: () => {
        const Gesture = matchMedia('(pointer: coarse)').matches ? 'tap' : 'click';
        document.getElementById('start').textContent = Gesture + ' to start';
        Say(Gesture[0].toUpperCase() + Gesture.slice(1) + ' to start.');
        document.body.classList.add('waiting');
    },
    onStart: () => {
        document.body.classList.remove('waiting');
        document.body.classList.add('playing');
    },
    onExit: Ended,
    onChapters: ListParts,
    onChapter: ShowPart,
    onOverlay: SetOverlay,
    onCrt: (On, Tiles, Strength, Shrink) => {
        Object.assign(Crt, { On, Tiles, Strength, Shrink });
        ShowCrt();
    },
    onFrame: PaintCrtGlow,
    onAbort: What => {
        Say('The program failed: ' + What);
        if (CheckMode)
            CheckOut.dataset.done = 'abort';
    },
};

// The query as the program's options: ?stats is --stats, ?timing=original
// is --timing original, ?crt is --crt; #part=N is --start N.
function Arguments()
{
    const Options = [];
    if (Query.has('stats'))
        Options.push('--stats');
    if (Query.has('crt'))
        Options.push('--crt');
    if (Query.has('timing'))
        Options.push('--timing', Query.get('timing'));
    if (PartInAddress() !== null)
        Options.push('--start', String(PartInAddress()));
    return Options;
}

function LoadScript(Source)
{
    return new Promise((Resolve, Reject) => {
        const Script = document.createElement('script');
        Script.src = Source;
        Script.onload = Resolve;
        Script.onerror = () => Reject(new Error("can't load " + Source));
        document.body.appendChild(Script);
    });
}

async function Fetch(Name)
{
    const Response = await fetch(Name);
    if (!Response.ok)
        throw new Error("can't load " + Name + ': ' + Response.status);
    return Response;
}

async function Fetched(Name)
{
    return new Uint8Array(await (await Fetch(Name)).arrayBuffer());
}

// The packed pictures, gzipped, inflated by the browser and handed to
// vorlune-data.js; a browser that can't inflate lets it fetch the
// uncompressed pack itself.
async function FetchPictures()
{
    if (typeof DecompressionStream !== 'function')
        return;
    const Stream = (await Fetch('vorlune.data.gz')).body.pipeThrough(new DecompressionStream('gzip'));
    const Pictures = await new Response(Stream).arrayBuffer();
    Module.getPreloadedPackage = () => Pictures;
}

// The check mode reads the golden list and plays with the tune in place, as
// the golden check does.
async function PrepareCheck()
{
    const Files = { 'frames.sha256': await Fetched('frames.sha256'),
                    'Brumalid.mp3': await Fetched('Brumalid.mp3') };
    Module.preRun.push(() => {
        for (const Name in Files)
            Module.FS.writeFile(Name, Files[Name]);
    });
}

async function Start()
{
    Fit();
    addEventListener('resize', Fit);
    if (CheckMode)
        await PrepareCheck();
    else {
        document.addEventListener('keydown', Event => {
            if (Event.key === 'f' || Event.key === 'F')
                ToggleFullScreen();
            if (Event.key === 'c' || Event.key === 'C') {
                Crt.On = !Crt.On;
                ShowCrt();
            }
        });
        Canvas.addEventListener('dblclick', ToggleFullScreen);
        addEventListener('hashchange', () => {
            if (PartInAddress() !== null)
                AskPart(PartInAddress());
        });
        Module.arguments = Arguments();
    }
    await FetchPictures();
    await LoadScript('vorlune-data.js');
    document.body.dataset.simd = Simd ? 'on' : 'off';
    await LoadScript((CheckMode ? 'vorlune-check' : 'vorlune') + (Simd ? '-simd' : '') + '.js');
    if (CheckMode)
        Say('Checking the frames…');
}

Start().catch(Error => Say(Error.message));
